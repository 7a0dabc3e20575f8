// A suite library's private part: a library that only the library beside it uses, so it is found
// only where that library lies.
extern "C" __declspec(dllexport) int PrivatePartAnswer()
{
    return 42;
}
