//程序名:新的Qiv程序
//作者: 

int main()
{
    int n = 0;
    while n < 10)
    {
        n++;
    }

    return 0;
}
