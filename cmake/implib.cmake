# Writes the .def that dlltool turns into a DLL's import library:
# cmake -DDEF=in.def -DOUT=out.def -P implib.cmake
#
# A __stdcall export is written `Name = Name@N` (or `Name@N` with
# --kill-at): the import library must offer the decorated symbol a caller
# compiles against and import the plain name, which `dlltool -k` does from
# `Name@N`. Exports whose own name is decorated (`_F@0 = F@0`) are left to
# GetProcAddress.
file(STRINGS ${DEF} lines)
set(out "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line MATCHES "^(LIBRARY|EXPORTS)" OR line STREQUAL "" OR line MATCHES "^;")
    string(APPEND out "${line}\n")
  elseif(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*) *= *([A-Za-z_][A-Za-z0-9_]*@[0-9]+)(.*)$")
    string(APPEND out "  ${CMAKE_MATCH_2}${CMAKE_MATCH_3}\n")
  elseif(line MATCHES "^[A-Za-z_][A-Za-z0-9_]*(@[0-9]+)?( .*)?$")
    string(APPEND out "  ${line}\n")
  endif()
endforeach()
file(WRITE ${OUT} "${out}")
