# Google Benchmark for the Windows build: Debian has no mingw package of it, so the build compiles
# Debian's own source package (the release that libbenchmark-dev ships; .ci/debian-source.sh
# fetches it) with the cross compiler, without its tests. Its release 1.7.1 does not compile with
# the UTF-16 entry points that our toolchain file turns on (sysinfo.cc hands a TCHAR text to a
# narrow conversion), so the library is built with the narrow ones; no text of ours passes it.
set(VKS_BENCHMARK_SOURCE "${PROJECT_SOURCE_DIR}/build-windows/benchmark-source.tar.gz"
    CACHE FILEPATH "Google Benchmark source tarball for the Windows build")
if(NOT EXISTS "${VKS_BENCHMARK_SOURCE}")
  message(FATAL_ERROR "${VKS_BENCHMARK_SOURCE} fehlt: .ci/debian-source.sh benchmark "
                      "${VKS_BENCHMARK_SOURCE} holt die Quellen von Google Benchmark.")
endif()
include(ExternalProject)
set(benchmark_prefix ${CMAKE_BINARY_DIR}/benchmark)
ExternalProject_Add(benchmark_build
  URL ${VKS_BENCHMARK_SOURCE}
  PREFIX ${benchmark_prefix}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_INSTALL_PREFIX=${benchmark_prefix} -DCMAKE_INSTALL_LIBDIR=lib
             -DBUILD_SHARED_LIBS=OFF -DBENCHMARK_ENABLE_TESTING=OFF
             -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF
             -DBENCHMARK_ENABLE_LIBPFM=OFF -DBENCHMARK_INSTALL_DOCS=OFF
             "-DCMAKE_CXX_FLAGS=-UUNICODE -U_UNICODE"
  BUILD_BYPRODUCTS ${benchmark_prefix}/lib/libbenchmark.a)
file(MAKE_DIRECTORY ${benchmark_prefix}/include)
add_library(benchmark::benchmark STATIC IMPORTED)
set_target_properties(benchmark::benchmark PROPERTIES
  IMPORTED_LOCATION ${benchmark_prefix}/lib/libbenchmark.a
  INTERFACE_INCLUDE_DIRECTORIES ${benchmark_prefix}/include
  INTERFACE_COMPILE_DEFINITIONS BENCHMARK_STATIC_DEFINE
  INTERFACE_LINK_LIBRARIES shlwapi)
add_dependencies(benchmark::benchmark benchmark_build)
