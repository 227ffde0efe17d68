// Module entry of the plug-in library.
