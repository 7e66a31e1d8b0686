# The firmware image embedded as the Qt resource ":/FIRMWARE_BINARY", and the
# SHA-256 that the build records for it so the program can refuse a damaged
# image, together with whether it is the placeholder. FIRMWARE_IMAGE names the image; without it a deterministic
# placeholder of the shipped size is generated at build time.
set(NORVO_FIRMWARE_DIR ${CMAKE_CURRENT_BINARY_DIR}/firmware)
set(NORVO_FIRMWARE_FILE ${NORVO_FIRMWARE_DIR}/FIRMWARE_BINARY)
set(NORVO_FIRMWARE_DIGEST_HEADER ${NORVO_FIRMWARE_DIR}/FirmwareDigest.h)
file(MAKE_DIRECTORY ${NORVO_FIRMWARE_DIR})

if(FIRMWARE_IMAGE)
  set(NORVO_FIRMWARE_PLACEHOLDER OFF)
  get_filename_component(_norvo_fw_source "${FIRMWARE_IMAGE}" ABSOLUTE)
  if(NOT EXISTS "${_norvo_fw_source}")
    message(FATAL_ERROR "FIRMWARE_IMAGE names no file: ${FIRMWARE_IMAGE}")
  endif()
  add_custom_command(
    OUTPUT ${NORVO_FIRMWARE_FILE}
    COMMAND ${CMAKE_COMMAND} -E copy ${_norvo_fw_source} ${NORVO_FIRMWARE_FILE}
    DEPENDS ${_norvo_fw_source}
    COMMENT "Embedding firmware image ${FIRMWARE_IMAGE}")
else()
  set(NORVO_FIRMWARE_PLACEHOLDER ON)
  add_executable(norvo_make_placeholder_firmware ${CMAKE_CURRENT_SOURCE_DIR}/firmware/make_placeholder_firmware.cpp)
  set_target_properties(norvo_make_placeholder_firmware PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  add_custom_command(
    OUTPUT ${NORVO_FIRMWARE_FILE}
    COMMAND norvo_make_placeholder_firmware ${NORVO_FIRMWARE_FILE}
    DEPENDS norvo_make_placeholder_firmware
    COMMENT "Generating placeholder firmware image")
endif()

add_custom_command(
  OUTPUT ${NORVO_FIRMWARE_DIGEST_HEADER}
  COMMAND ${CMAKE_COMMAND} -DIMAGE=${NORVO_FIRMWARE_FILE} -DOUTPUT=${NORVO_FIRMWARE_DIGEST_HEADER}
          -DPLACEHOLDER=${NORVO_FIRMWARE_PLACEHOLDER}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/firmware/record_sha256.cmake
  DEPENDS ${NORVO_FIRMWARE_FILE} ${CMAKE_CURRENT_SOURCE_DIR}/firmware/record_sha256.cmake
  COMMENT "Recording firmware image SHA-256")

target_sources(norvo_resources PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/FirmwareImage.h
  ${CMAKE_CURRENT_SOURCE_DIR}/FirmwareImage.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/FirmwareSource.h
  ${CMAKE_CURRENT_SOURCE_DIR}/FirmwareSource.cpp
  ${NORVO_FIRMWARE_DIGEST_HEADER})
target_include_directories(norvo_resources PRIVATE ${NORVO_FIRMWARE_DIR})

# Stored uncompressed: a firmware image hardly compresses, and the program
# reads it straight from the executable. On a static library Qt links the
# resource's object file into every executable that links norvo_resources.
qt_add_resources(norvo_resources norvo_firmware
  PREFIX "/"
  BASE ${NORVO_FIRMWARE_DIR}
  OPTIONS -no-compress
  FILES ${NORVO_FIRMWARE_FILE})

# Tests compare the program's resource with the file it was built from.
set_target_properties(norvo_resources PROPERTIES NORVO_FIRMWARE_FILE ${NORVO_FIRMWARE_FILE})
