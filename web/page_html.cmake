# Writes the page's index.html and tubarogas.css into SITE: the form's
# elements and its layout as page_markup makes them from the window's data,
# put into the HTML template at @FORM@ and before the style sheet STYLE (one
# sheet, so the form's first paint waits for one request, not two). Run as
# cmake -DNODE=... -DMARKUP=page_markup.js -DTEMPLATE=index.html.in
# -DSTYLE=tubarogas.css -DSITE=... -P page_html.cmake.
foreach(part html css)
  execute_process(COMMAND ${NODE} --no-experimental-fetch ${MARKUP} ${part}
                  OUTPUT_VARIABLE ${part} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "page_markup ${part} failed: ${status}")
  endif()
endforeach()
file(READ ${TEMPLATE} page)
string(REPLACE "@FORM@" "${html}" page "${page}")
file(WRITE ${SITE}/index.html "${page}")
file(READ ${STYLE} style)
file(WRITE ${SITE}/tubarogas.css "${css}\n${style}")
