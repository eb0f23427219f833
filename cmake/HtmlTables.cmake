# The tables of HTML's elements, attributes, their values and character
# references are
# data files (resources/html); the html room compiles them in as text, from
# <dir>/html/HtmlTablesText.inc.
function(markwright_html_tables dir)
  set(data ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources/html)
  file(READ ${data}/elements.txt MW_ELEMENTS_TEXT)
  file(READ ${data}/entities.txt MW_ENTITIES_TEXT)
  file(READ ${data}/values.txt MW_VALUES_TEXT)
  file(CONFIGURE OUTPUT ${dir}/html/HtmlTablesText.inc
    CONTENT "static const char kElementsText[] = R\"tables(@MW_ELEMENTS_TEXT@)tables\";\nstatic const char kEntitiesText[] = R\"tables(@MW_ENTITIES_TEXT@)tables\";\nstatic const char kValuesText[] = R\"tables(@MW_VALUES_TEXT@)tables\";\n"
    @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${data}/elements.txt ${data}/entities.txt ${data}/values.txt)
endfunction()
