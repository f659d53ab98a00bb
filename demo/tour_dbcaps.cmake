# The capabilities step calls dbcaps and the SQL client directly.
target_link_libraries(samplehost PRIVATE dbcaps_api dbclient_api)
