/* A stand-in MITAB library: the real one (a dependency of this one), except
 * that every region it reads is reported as a rectangle. */
#define _GNU_SOURCE
#include <dlfcn.h>

int mitab_c_get_type(void *feature)
{
    static int (*Real)(void *);
    int Type;
    if (!Real)
        *(void **)&Real = dlsym(RTLD_NEXT, "mitab_c_get_type");
    Type = Real(feature);
    return Type == 7 ? 8 : Type;
}
