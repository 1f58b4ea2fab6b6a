//程序名:新的Qiv程序
//作者: 

int main()
{
    cin >> ;

    return 0;
}
