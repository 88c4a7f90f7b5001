# Object property sheets, the new-icon wizard and the class panels.
