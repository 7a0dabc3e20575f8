// A suite library that needs its private part beside it: the two lie in a folder of their own.
extern "C" __declspec(dllimport) int PrivatePartAnswer();

extern "C" __declspec(dllexport) int DependentAnswer()
{
    return PrivatePartAnswer();
}
