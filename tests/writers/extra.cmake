# Extra link libraries of test_writers: zlib and libpng read back what the
# writers wrote. The photographs of the benchmarks serve as content when present.
find_package(ZLIB REQUIRED)
target_link_libraries(test_${sub} PRIVATE PNG::PNG ZLIB::ZLIB)
set(ZORBLIT_BENCH_IMAGES "${PROJECT_SOURCE_DIR}/../shared/bench/images" CACHE PATH "Folder of the benchmark pictures")
target_compile_definitions(test_${sub} PRIVATE ZORBLIT_TEST_PHOTOS="${ZORBLIT_BENCH_IMAGES}")
