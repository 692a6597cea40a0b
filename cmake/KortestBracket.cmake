# Quoting shared by kortest_discover_tests and the script it runs after a build.

# Writes `value` as a CMake bracket argument that no text inside can end.
function(_kortest_bracket out value)
  set(equals "")
  while(value MATCHES "]${equals}]")
    string(APPEND equals "=")
  endwhile()
  set(${out} "[${equals}[${value}]${equals}]" PARENT_SCOPE)
endfunction()
