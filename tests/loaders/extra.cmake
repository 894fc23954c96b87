# Extra link libraries of test_loaders (SDL2 comes with the library): libpng and
# zlib write and check PNG and deflate data, libjpeg-turbo JPEG files, giflib GIF files.
find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
target_link_libraries(test_${sub} PRIVATE PNG::PNG ZLIB::ZLIB JPEG::JPEG GIF::GIF)
# The fuzz seed files are sample files of every format.
target_compile_definitions(test_${sub} PRIVATE ZORBLIT_FUZZ_CORPUS="${PROJECT_SOURCE_DIR}/fuzz/corpus")
