# Writes the page's index.html into SITE: the form's elements and its layout
# as page_markup makes them from the window's data, put into the HTML
# template at @FORM@, and the style sheet (that layout, then STYLE) inside
# the HTML at @STYLE@, so the form's first paint needs the HTML alone. The
# page's Content-Security-Policy allows that one inline sheet by its SHA-256
# digest (@STYLE_DIGEST@). Run as cmake -DNODE=... -DMARKUP=page_markup.js
# -DTEMPLATE=index.html.in -DSTYLE=tubarogas.css -DSITE=... -P page_html.cmake.
cmake_policy(VERSION 3.25)
foreach(part html css)
  execute_process(COMMAND ${NODE} --no-experimental-fetch ${MARKUP} ${part}
                  OUTPUT_VARIABLE ${part} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "page_markup ${part} failed: ${status}")
  endif()
endforeach()
file(READ ${STYLE} style)
set(sheet "${css}\n${style}")
# The digest as the policy writes it: base64, which Node.js gives.
file(WRITE ${SITE}/.sheet "${sheet}")
execute_process(COMMAND ${NODE} -e
                "process.stdout.write(require('crypto').createHash('sha256').update(require('fs').readFileSync(process.argv[1])).digest('base64'))"
                ${SITE}/.sheet
                OUTPUT_VARIABLE digest RESULT_VARIABLE status)
file(REMOVE ${SITE}/.sheet)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the style sheet's digest failed: ${status}")
endif()
file(READ ${TEMPLATE} page)
string(REPLACE "@FORM@" "${html}" page "${page}")
string(REPLACE "@STYLE_DIGEST@" "${digest}" page "${page}")
string(REPLACE "@STYLE@" "${sheet}" page "${page}")
file(WRITE ${SITE}/index.html "${page}")
