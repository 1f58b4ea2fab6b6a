//程序名:新的Qiv程序
//作者: 

void square();

int main()
{
    square();

    return 0;
}
