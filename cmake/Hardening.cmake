# The distribution's hardening for every program we build: full RELRO with immediate binding,
# position-independent executables, stack protector and fortified libc calls.
#
# A Debian build turns this off (debian/rules) because dpkg-buildflags already brings the same
# flags, at whatever level the distribution chooses; setting them twice could clash.
option(MUKIRO_HARDENING "Build with stack protector, _FORTIFY_SOURCE, PIE and full RELRO" ON)
if(NOT MUKIRO_HARDENING)
  return()
endif()

# PIE for the programs and -fPIE for the static libraries they link (CMP0083 is NEW with our
# minimum CMake, so the link gets -pie too).
include(CheckPIESupported)
check_pie_supported(OUTPUT_VARIABLE mukiro_pie_message LANGUAGES CXX)
if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
  message(FATAL_ERROR "The compiler cannot link position-independent programs: ${mukiro_pie_message}")
endif()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# _FORTIFY_SOURCE only works with the optimiser on (without it glibc warns, and warnings are
# errors here), and the sanitizers check the same calls more thoroughly themselves.
if(NOT MUKIRO_SANITIZE)
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
