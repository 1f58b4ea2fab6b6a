//程序名:新的Qiv程序
//作者: 

int main()
{
    n = 5;
    cout << n;

    return 0;
}
