//程序名:新的Qiv程序
//作者: 

int main()
{
    string s = 5;
    cout << s;

    return 0;
}
