// A library that is no module: it exports neither entry point, so loading it must fail.
extern "C" __attribute__((visibility("default"))) int pmBrokenAnswer()
{
    return 42;
}
