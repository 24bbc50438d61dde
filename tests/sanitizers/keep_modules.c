/* Preloaded into the tests of a sanitizer build: nothing is ever unloaded,
 * so a leak report at exit still names the libVLC plugin or driver that made
 * the allocation (and lsan.supp can match it). */
int dlclose(void *handle)
{
    (void)handle;
    return 0;
}
