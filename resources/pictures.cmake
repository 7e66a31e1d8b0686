# The window's pictures, drawn by pictures/make_pictures.sh and committed:
# the maker's logo (a JPEG that the window decodes with libjpeg), the two
# outcome icons and the application icon, as resources under ":/pictures/",
# each with its twice-as-large name@2x for screens that scale by more than 1.
qt_add_resources(norvo_resources norvo_pictures
  PREFIX "/pictures"
  BASE ${CMAKE_CURRENT_SOURCE_DIR}/pictures
  FILES
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/norvo_logo.jpg
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/outcome_success.png
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/outcome_failure.png
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/app_icon.png
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/norvo_logo@2x.jpg
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/outcome_success@2x.png
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/outcome_failure@2x.png
    ${CMAKE_CURRENT_SOURCE_DIR}/pictures/app_icon@2x.png)
