# The native velmora-tool that compiles the window descriptions and draws the art
# for the Windows build: target host_tools, path VELMORA_TOOL. It comes from the
# host build named by VELMORA_HOST_BUILD_DIR (tools/test shares build/host so the
# portable code is not compiled once more for it), else from a build of its own.
if(VELMORA_HOST_BUILD_DIR)
  set(VELMORA_TOOL ${VELMORA_HOST_BUILD_DIR}/tools/velmora-tool/velmora-tool)
  add_custom_target(host_tools
    COMMAND ${CMAKE_COMMAND} --build ${VELMORA_HOST_BUILD_DIR} --target velmora-tool
    BYPRODUCTS ${VELMORA_TOOL}
    COMMENT "Building velmora-tool in ${VELMORA_HOST_BUILD_DIR}"
    USES_TERMINAL)
else()
  include(ExternalProject)
  set(host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
  set(VELMORA_TOOL ${host_tools_dir}/tools/velmora-tool/velmora-tool)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host_tools_dir}
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DVELMORA_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${host_tools_dir} --target velmora-tool
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${VELMORA_TOOL})
endif()
