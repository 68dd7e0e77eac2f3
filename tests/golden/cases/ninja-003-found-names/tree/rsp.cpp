-wrapper /bin/sh,-c,touch\ PWNED
./@rsp.cpp
