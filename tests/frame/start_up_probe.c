/* A program linked against the library: loading it writes the start-up line; with the argument
 * "again" it calls the start-up once more. */
#include <string.h>

#include "RynRAZUdidazoror.h"

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], "again") == 0) fnVCAIPP_InitIPP();
  return 0;
}
