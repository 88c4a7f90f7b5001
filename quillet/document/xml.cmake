# XML engine
