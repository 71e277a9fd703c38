never closed here */ main
