// The velmora executable: saver, preview or settings dialog, chosen by the first argument.
int main()
{
    return 0;
}
