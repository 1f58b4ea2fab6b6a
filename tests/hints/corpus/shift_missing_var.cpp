//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 5;
    cout << "n=" n << endl;

    return 0;
}
