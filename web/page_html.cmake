# Writes the page's index.html and form.css into SITE: the form's elements
# and its layout as page_markup makes them from the window's data, put into
# the HTML template at @FORM@. Run as cmake -DNODE=... -DMARKUP=page_markup.js
# -DTEMPLATE=index.html.in -DSITE=... -P page_html.cmake.
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
file(WRITE ${SITE}/form.css "${css}")
