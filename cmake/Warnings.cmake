# Warnings are errors in both builds, for our own code only.
function(tessaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-missing-field-initializers)
endfunction()

