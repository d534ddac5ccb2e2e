// The factorisation opens an OpenMP parallel region for each of its many
// small supernodes; even with a team of one thread the runtime then wakes
// the team's barrier through the kernel, which cost a third of the time of a
// solve. The process runs no parallel region of its own, so each region's
// body runs here directly on the calling thread (the runtime's queries
// outside a team answer one thread, number zero).
extern "C" void GOMP_parallel(void (*body)(void*), void* data, unsigned /*threads*/, unsigned /*flags*/)
{
    body(data);
}
