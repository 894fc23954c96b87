# Extra link libraries of test_loaders (SDL2 comes with the library). Each reader
# adds its own lines below.
# PNG reader and inflate: libpng and zlib write and check the test files.
find_package(ZLIB REQUIRED)
target_link_libraries(test_${sub} PRIVATE PNG::PNG ZLIB::ZLIB)

# JPEG: libjpeg-turbo writes the test files and is the reference decoder.
find_package(JPEG REQUIRED)
target_link_libraries(test_${sub} PRIVATE JPEG::JPEG)
