# Install layout and the Debian package (cpack -G DEB from the build
# directory): the two programs, their manual pages, and the platform
# definition files and example that a new description starts from.
install(TARGETS qev bytewrap RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/qev.1 man/bytewrap.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES examples/build/Makedefs.LINUX.mk examples/build/Makedefs.OSX.mk
        DESTINATION ${CMAKE_INSTALL_DATADIR}/qev)
# The example piece by piece: its build directories may hold what an
# earlier in-tree run generated.
set(example_dir ${CMAKE_INSTALL_DATADIR}/qev/example)
install(FILES examples/demo.qev DESTINATION ${example_dir})
install(DIRECTORY examples/src DESTINATION ${example_dir})
install(FILES examples/build/Makedefs.LINUX.mk examples/build/Makedefs.OSX.mk
        DESTINATION ${example_dir}/build)
install(FILES examples/textutil/textutil.qev
        DESTINATION ${example_dir}/textutil)
install(DIRECTORY examples/textutil/src DESTINATION ${example_dir}/textutil)
install(FILES examples/textutil/build/Makedefs.LINUX.mk
              examples/textutil/build/Makedefs.OSX.mk
        DESTINATION ${example_dir}/textutil/build)
# Public and neutral settings: two libraries, a program and a test.
install(FILES examples/public-settings/public-settings.qev
        DESTINATION ${example_dir}/public-settings)
install(DIRECTORY examples/public-settings/src
        DESTINATION ${example_dir}/public-settings)

set(CPACK_PACKAGE_NAME qev)
set(CPACK_PACKAGE_VENDOR "qev developers")
set(CPACK_PACKAGE_CONTACT "qev developers <qev@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "build files from XML project descriptions, and a file-to-array converter")
set(CPACK_PACKAGE_DESCRIPTION
    "qev reads an XML project description and writes Visual Studio solutions and\n\
project files, GNU make files or an Xcode project bundle. bytewrap turns any\n\
file into a C++ source file and header holding its bytes.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The shared libraries the programs link (TinyXML, the C++ runtime) become
# the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_GENERATOR DEB)
include(CPack)
