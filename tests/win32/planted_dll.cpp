// A DLL that a stranger might drop beside the exe: loading it at all is the fault.
extern "C" __declspec(dllexport) int Planted() {
  return 42;
}
