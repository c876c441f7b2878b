#include "puzzle/ProcessSetup.h"

#include <malloc.h>

#include <csignal>

void SetUpProcess() {
  // Under a file-size limit a write past it must fail with its cause, so that
  // a save or an export is refused and the old file kept, instead of the
  // signal ending the program with a half-written file beside the old one.
  std::signal(SIGXFSZ, SIG_IGN);
  // The SAT solver of a large puzzle allocates and frees blocks of tens of MB
  // (its clause arena, anew at each garbage collection). Past the first such
  // free, glibc would raise its mapping threshold and serve the next ones from
  // the heap, which keeps what was freed: on a 100x100 puzzle that is up to
  // 25 MB of peak memory more for one check, and in the window, whose searches
  // follow one another on worker threads, some 10 MB more held after each. A
  // fixed threshold keeps large blocks mapped, so that freeing them gives the
  // memory back.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
}
