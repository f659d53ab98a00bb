# The outline kit step builds an outline with the host runtime's test-host
# calls and walks it through outkit.
target_link_libraries(samplehost PRIVATE outkit hostrt)
