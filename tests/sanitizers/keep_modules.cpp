// Preloaded into the tests of a sanitizer build: nothing is ever unloaded,
// so a leak report at exit still names the libVLC plugin or driver that made
// the allocation (and lsan.supp can match it).
// Exported by name: the build hides symbols by default.
extern "C" __attribute__((visibility("default"))) int dlclose(void *handle)
{
    (void)handle;
    return 0;
}
