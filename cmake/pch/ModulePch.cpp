// Builds the QML modules' shared precompiled header.
