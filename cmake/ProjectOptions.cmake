# Compiler settings for the project's own code (not for GoogleTest or Benchmark).
add_library(velmora_options INTERFACE)

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Sources are UTF-8; string literals become the program's GBK bytes.
  target_compile_options(velmora_options INTERFACE -finput-charset=UTF-8 -fexec-charset=GBK)
  target_compile_definitions(velmora_options INTERFACE VELMORA_LITERALS_GBK=1)
endif()
# clang (the fuzz build) only knows UTF-8 literals; the fuzzed parsers do not depend on them.

target_compile_options(velmora_options INTERFACE -Wall -Wextra -Wshadow -Werror)
target_include_directories(velmora_options INTERFACE ${PROJECT_SOURCE_DIR})

if(WIN32)
  target_compile_definitions(velmora_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 STRICT)
  # Everything linked statically: the .exe runs without MinGW DLLs beside it.
  set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
  set(CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
  # The same executable from the same sources wherever they lie and whenever they are
  # built (tools/release): no time stamp in the PE header, no checkout path inside.
  target_link_options(velmora_options INTERFACE -Wl,--no-insert-timestamp)
  target_compile_options(velmora_options INTERFACE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=build/)
endif()

if(WIN32)
  # Frame pointers let a stack be walked without debug information: the
  # allocation-fault runs show where an allocation failed.
  target_compile_options(velmora_options INTERFACE -fno-omit-frame-pointer)
endif()

if(VELMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(VELMORA_FUZZ)
  # An undefined-behaviour report stops the fuzzer like a crash does: otherwise it is
  # only printed, the run still ends with success and the input is not kept.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Sorts the .cpp files of the given folders by their suffix (see CMakeLists.txt).
function(velmora_collect_sources portable_var host_var win_var)
  set(portable "")
  set(host "")
  set(win "")
  foreach(folder ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    foreach(src ${sources})
      if(src MATCHES "_win\\.cpp$")
        list(APPEND win ${src})
      elseif(src MATCHES "_host\\.cpp$")
        list(APPEND host ${src})
      else()
        list(APPEND portable ${src})
      endif()
    endforeach()
  endforeach()
  set(${portable_var} ${portable} PARENT_SCOPE)
  set(${host_var} ${host} PARENT_SCOPE)
  set(${win_var} ${win} PARENT_SCOPE)
endfunction()

# A program that is run (not only tested) leaves its debug information beside it
# (NAME.exe.debug, found by gdb through a debug link): Wine reads every section of
# an image at start, and the DWARF sections of a static build are several times
# the size of the code. objcopy would stamp the image with the time of day unless
# SOURCE_DATE_EPOCH names one (0, as the linker's --no-insert-timestamp).
function(velmora_split_debug_info target)
  if(WIN32 AND CMAKE_OBJCOPY)
    set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
      COMMAND ${objcopy} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
              $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
endfunction()
