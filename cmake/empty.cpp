// An empty unit so that a folder with no sources yet still forms a library.
