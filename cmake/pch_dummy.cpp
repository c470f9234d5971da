// Anchor for the shared precompiled header.
