//程序名:新的Qiv程序
//作者: 

int main()
{
    char c = ‘a’;
    cout << c;

    return 0;
}
