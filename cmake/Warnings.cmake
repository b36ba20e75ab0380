# The warning set every target of ours is built with.
function(vantari_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wformat=2 -Wpedantic)
  if(VANTARI_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
