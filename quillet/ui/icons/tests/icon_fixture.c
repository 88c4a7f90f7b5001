/* A library that holds nothing but icons. */
int QuilletIconFixture(void) { return 0; }
