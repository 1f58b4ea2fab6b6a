// Built into the runtime only by a compiler whose thread model is posix (makeruntime defines
// QIV_STATIC_THREADS and adds the compiler's own libwinpthread.a objects to the archive).
// Its C++ library calls the pthread functions, and the student's link line, which links the
// C++ library statically but not the rest, would take them from libwinpthread-1.dll: a DLL
// students' computers do not have. The entry point (main_window.cpp) refers to this table,
// so the linker takes the thread library's objects from the runtime archive first, and the
// C++ library then finds them already linked.
#ifdef QIV_STATIC_THREADS
#define WINPTHREAD_STATIC  // the functions themselves, not the DLL's import entries
#include <pthread.h>

extern void *const _qivStaticThreads[];
void *const _qivStaticThreads[] = {
    reinterpret_cast<void *>(&pthread_mutex_lock), reinterpret_cast<void *>(&pthread_once),
    reinterpret_cast<void *>(&pthread_key_create), reinterpret_cast<void *>(&pthread_cond_wait),
    reinterpret_cast<void *>(&pthread_rwlock_wrlock), reinterpret_cast<void *>(&pthread_create),
    reinterpret_cast<void *>(&pthread_num_processors_np)};
#endif
