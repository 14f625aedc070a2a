/* A stand-in MITAB library without the version entry point. */
void *mitab_c_open(const char *filename)
{
    (void)filename;
    return 0;
}
