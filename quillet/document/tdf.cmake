# TDF document
