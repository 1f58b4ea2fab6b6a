//程序名:新的Qiv程序
//作者: 

void star(int size, int n);

int main()
{
    star(100, 5);

    return 0;
}
