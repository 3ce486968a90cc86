# The hardening Debian builds its packages with, so that our own builds (and the .deb
# made from them) carry it too: stack protector, read-only relocations bound at start-up,
# position-independent executables, and fortified libc calls where the optimiser lets
# glibc check buffer sizes.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# Fortification needs optimisation, and the sanitizers already check what it checks
# (with it they miss errors the fortified calls intercept first).
if(NOT VESTORIA_SANITIZE)
  set(optimised_configs $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  # Undefined first: some compilers predefine it, and a redefinition is a warning.
  add_compile_options($<${optimised_configs}:-U_FORTIFY_SOURCE> $<${optimised_configs}:-D_FORTIFY_SOURCE=2>)
endif()
