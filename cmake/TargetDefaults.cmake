# Settings of every target of ours (third-party code keeps its own).
function(vantari_target_defaults target)
  # Every narrow literal is Shift-JIS at run time: the bytes the programs show and compare.
  # (Not global: the C++20 <chrono> header holds a literal that code page 932 cannot encode.
  # Clang, used only for the fuzz targets, knows no other execution charset than UTF-8.)
  target_compile_options(${target} PRIVATE
    "$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CXX_COMPILER_ID:GNU>>:-finput-charset=UTF-8;-fexec-charset=CP932>"
    "$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra;-Wshadow;-Wformat=2;-Wpedantic>")
  if(VANTARI_WERROR)
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-Werror>")
  endif()
endfunction()
