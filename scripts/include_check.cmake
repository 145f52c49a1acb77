# Refuses an include that climbs out of the include view with "../" or names
# an absolute path: a library reaches only the folders its view holds.
# FILES: the files to check, separated by "|"; STAMP: touched when all pass.
string(REPLACE "|" ";" files "${FILES}")
set(bad "")
foreach(file ${files})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](\\.\\./|\\./\\.\\./|/)")
  foreach(line ${lines})
    string(STRIP "${line}" line)
    string(APPEND bad "${file}: ${line}: an include climbs out of the library's view; name the folder instead\n")
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "${bad}")
endif()
file(TOUCH ${STAMP})
