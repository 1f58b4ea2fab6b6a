//程序名:新的Qiv程序
//作者: 

int main()
{
    string s = "ab";
    int n = s - 1;

    return 0;
}
