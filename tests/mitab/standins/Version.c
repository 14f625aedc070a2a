/* A stand-in MITAB library with only the version entry point, answering
 * STANDIN_VERSION: with 1007001 it is of the wrong version, with 1007000 it
 * lacks every other entry point. */
int mitab_c_getlibversion(void)
{
    return STANDIN_VERSION;
}
