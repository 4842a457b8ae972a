# The installed package: the libraries, the public headers, ZelSheetConfig.cmake (with its
# version file) giving the imported targets ZelSheet::zelsheet, ZelSheet::store,
# ZelSheet::testing and ZelSheet::companion, and pkg-config files. The build tree is exported the same way, so a
# host can point ZelSheet_DIR at a build folder without installing.
include(CMakePackageConfigHelpers)

set(zel_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/ZelSheet)

install(DIRECTORY include/zelsheet DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The store has an export set of its own: the package includes it only where SQLite is
# found, so a host without SQLite can still use the rest.
install(TARGETS zelsheet zelsheet_testing EXPORT ZelSheetTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT ZelSheetTargets NAMESPACE ZelSheet:: DESTINATION ${zel_cmake_dir})
export(EXPORT ZelSheetTargets NAMESPACE ZelSheet:: FILE ZelSheetTargets.cmake)
if(TARGET zelsheet_store)
  install(TARGETS zelsheet_store EXPORT ZelSheetStoreTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT ZelSheetStoreTargets NAMESPACE ZelSheet:: DESTINATION ${zel_cmake_dir})
  export(EXPORT ZelSheetStoreTargets NAMESPACE ZelSheet:: FILE ZelSheetStoreTargets.cmake)
endif()

# The companion tools likewise, where their libraries are found.
if(TARGET zelsheet_companion)
  install(DIRECTORY companion/include/zelsheet DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(TARGETS zelsheet_companion EXPORT ZelSheetCompanionTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT ZelSheetCompanionTargets NAMESPACE ZelSheet:: DESTINATION ${zel_cmake_dir})
  export(EXPORT ZelSheetCompanionTargets NAMESPACE ZelSheet::
         FILE ZelSheetCompanionTargets.cmake)
endif()

configure_package_config_file(cmake/ZelSheetConfig.cmake.in ZelSheetConfig.cmake
                              INSTALL_DESTINATION ${zel_cmake_dir})
# 0.x: a minor version may change the interface.
write_basic_package_version_file(ZelSheetConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ZelSheetConfig.cmake
              ${PROJECT_BINARY_DIR}/ZelSheetConfigVersion.cmake
        DESTINATION ${zel_cmake_dir})

# pkg-config files for builds without CMake. The prefix is found from the file's own place
# (${pcfiledir}), so the package may be installed under any --prefix.
if(IS_ABSOLUTE ${CMAKE_INSTALL_LIBDIR})
  set(PC_PREFIX ${CMAKE_INSTALL_PREFIX})
else()
  file(RELATIVE_PATH up /p/${CMAKE_INSTALL_LIBDIR}/pkgconfig /p)
  set(PC_PREFIX "\${pcfiledir}/${up}")
endif()
function(zel_pkg_config name lib description requires)
  set(PC_NAME ${name})
  set(PC_LIB ${lib})
  set(PC_DESCRIPTION ${description})
  set(PC_REQUIRES ${requires})
  configure_file(cmake/zelsheet.pc.in ${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${name}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
zel_pkg_config(zelsheet zelsheet "The ZelSheet data sheet (C++20)" "")
zel_pkg_config(zelsheet-testing zelsheet_testing "ZelSheet's scripted platform for tests" "zelsheet")
if(TARGET zelsheet_store)
  zel_pkg_config(zelsheet-store zelsheet_store "ZelSheet's settings store on SQLite"
                 "zelsheet sqlite3")
endif()
if(TARGET zelsheet_companion)
  zel_pkg_config(zelsheet-companion zelsheet_companion "ZelSheet's companion tools (workbook, PDF, chart files)"
                 "zelsheet xlsxwriter cairo pangocairo")
endif()
