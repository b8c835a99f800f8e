// Builds the tests' shared precompiled header.
