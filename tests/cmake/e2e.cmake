# e2e.cmake -- the helper with which the end-to-end tests close the viewer's window
find_package(X11 REQUIRED)
add_executable(e2e-close-window ${CMAKE_CURRENT_SOURCE_DIR}/e2e/close_window.cpp)
target_link_libraries(e2e-close-window PRIVATE X11::X11)
