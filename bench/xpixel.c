/* Latency as the user sees it: moves the X pointer onto a screen edge (or presses a key
 * chord) and polls one screen pixel until it turns the expected colour, then prints the
 * milliseconds.
 *   xpixel EDGE_X EDGE_Y PROBE_X PROBE_Y RRGGBB TIMEOUT_MS
 *   xpixel --keys KEYSYM[+KEYSYM...] PROBE_X PROBE_Y RRGGBB TIMEOUT_MS */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 7) return 2;
  Display* d = XOpenDisplay(NULL);
  if (!d) return 3;
  Window root = DefaultRootWindow(d);
  int px = atoi(argv[3]), py = atoi(argv[4]);
  unsigned long want = strtoul(argv[5], NULL, 16);
  double timeout = atof(argv[6]);
  double start = now_ms();
  if (strcmp(argv[1], "--keys") == 0) {
    /* Every key of the chord down in order, then up in reverse. */
    KeyCode codes[8];
    int n = 0;
    char chord[256];
    strncpy(chord, argv[2], sizeof chord - 1);
    chord[sizeof chord - 1] = 0;
    for (char* name = strtok(chord, "+"); name && n < 8; name = strtok(NULL, "+"))
      codes[n++] = XKeysymToKeycode(d, XStringToKeysym(name));
    start = now_ms();
    for (int i = 0; i < n; ++i) XTestFakeKeyEvent(d, codes[i], True, CurrentTime);
    for (int i = n - 1; i >= 0; --i) XTestFakeKeyEvent(d, codes[i], False, CurrentTime);
  } else {
    XWarpPointer(d, None, root, 0, 0, 0, 0, atoi(argv[1]), atoi(argv[2]));
  }
  XFlush(d);
  while (now_ms() - start < timeout) {
    XImage* image = XGetImage(d, root, px, py, 1, 1, AllPlanes, ZPixmap);
    if (image) {
      unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
      XDestroyImage(image);
      if (pixel == want) {
        printf("%.2f\n", now_ms() - start);
        return 0;
      }
    }
  }
  printf("timeout\n");
  return 1;
}
