# The shared-transaction step calls trxshare and the SQL client directly.
target_link_libraries(samplehost PRIVATE trxshare_api dbclient_api)
