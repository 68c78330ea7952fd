# The Windows release: each program carries the demo's icon and its version
# information, and build-windows/vorn2112-windows-<version>.zip holds what a
# Windows user needs in one folder: both programs, both capture tools,
# SDL.dll, the pictures, a README.txt, and SDL's licence. Nothing else.
set(out ${CMAKE_BINARY_DIR}/windows)
set(icon ${out}/vorn2112.ico)
add_custom_command(OUTPUT ${icon}
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vorn2112-assets> --icon ${icon}
  DEPENDS vorn2112-assets
  COMMENT "Painting the programs' icon"
  VERBATIM)
add_custom_target(vorn_windows_icon DEPENDS ${icon})

set(VORN_ICON ${icon})
set(programs)
foreach(v IN LISTS VORN_VARIANTS)
  set(size "${VORN_${v}_WIDTH} x ${VORN_${v}_HEIGHT}")
  foreach(VORN_EXE ${VORN_${v}_PROGRAM} ${VORN_${v}_PROGRAM}-capture)
    if(VORN_EXE MATCHES "-capture$")
      set(VORN_DESCRIPTION "VORN2112 frame capture (${size})")
    elseif(v STREQUAL fullscreen)
      set(VORN_DESCRIPTION "VORN2112 demo (${size}, full screen)")
    else()
      set(VORN_DESCRIPTION "VORN2112 demo (${size} window)")
    endif()
    configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/program.rc.in ${out}/${VORN_EXE}.rc @ONLY)
    set_source_files_properties(${out}/${VORN_EXE}.rc PROPERTIES OBJECT_DEPENDS ${icon})
    target_sources(${VORN_EXE} PRIVATE ${out}/${VORN_EXE}.rc)
    add_dependencies(${VORN_EXE} vorn_windows_icon)
    list(APPEND programs ${VORN_EXE})
  endforeach()
endforeach()

# SDL's version as Debian gave it, and its licence, kept by
# tools/windows_sdl.sh beside the library.
get_filename_component(sdl_prefix ${SDL_INCLUDE_DIR} DIRECTORY)
get_filename_component(sdl_prefix ${sdl_prefix} DIRECTORY)
set(sdl_doc ${sdl_prefix}/share/doc/SDL)
file(STRINGS ${sdl_doc}/debian-version VORN_SDL_DEBIAN_VERSION LIMIT_COUNT 1)
string(REGEX REPLACE "^([0-9.]+).*" "\\1" VORN_SDL_VERSION "${VORN_SDL_DEBIAN_VERSION}")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/README.txt.in ${out}/README.txt @ONLY
  NEWLINE_STYLE CRLF)
# Windows line ends, as in README.txt (the licence holds no @ to replace).
configure_file(${sdl_doc}/COPYING ${out}/SDL-LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

set(name vorn2112-windows-${PROJECT_VERSION})
set(stage ${out}/${name})
set(archive ${CMAKE_BINARY_DIR}/${name}.zip)
set(VORN_WINDOWS_ARCHIVE ${archive} PARENT_SCOPE)
set(copy_programs)
foreach(program IN LISTS programs)
  list(APPEND copy_programs COMMAND ${CMAKE_STRIP} -o ${stage}/${program}.exe $<TARGET_FILE:${program}>)
endforeach()
list(APPEND copy_programs COMMAND ${CMAKE_STRIP} -o ${stage}/SDL.dll ${SDL_DLL})
list(TRANSFORM VORN_PICTURES PREPEND ${CMAKE_BINARY_DIR}/bin/ OUTPUT_VARIABLE pictures)
add_custom_command(OUTPUT ${archive}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${archive}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  ${copy_programs}
  COMMAND ${CMAKE_COMMAND} -E copy ${pictures} ${out}/README.txt ${out}/SDL-LICENSE.txt ${stage}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${archive} --format=zip -- ${name}
  WORKING_DIRECTORY ${out}
  DEPENDS ${programs} ${pictures} ${out}/README.txt ${out}/SDL-LICENSE.txt vorn_assets
  COMMENT "Packing the Windows release into ${archive}"
  VERBATIM)
add_custom_target(vorn2112-windows-archive ALL DEPENDS ${archive})
