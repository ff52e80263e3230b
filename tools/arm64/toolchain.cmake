# Cross-building for arm64 (Raspberry Pi OS is Debian 12 arm64) on x86-64
# Debian with crossbuild-essential-arm64 and the :arm64 build dependencies,
# which multiarch puts beside the host's. Programs the build and CTest run
# (test discovery, the tests) go through qemu-aarch64-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
# pkg-config reads the arm64 packages' .pc files, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
