# Build settings shared by every target of the project.
add_library(tessaly_common INTERFACE)
target_compile_features(tessaly_common INTERFACE cxx_std_20)
target_compile_options(tessaly_common INTERFACE -Wall -Wextra)
target_compile_definitions(tessaly_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_CONTEXTLESS_CONNECT)
target_include_directories(tessaly_common INTERFACE ${PROJECT_SOURCE_DIR})
