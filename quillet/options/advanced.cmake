# Options sheet, advanced pages, password lock, tips, sounds.
