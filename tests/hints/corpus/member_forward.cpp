//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.forward(100);

    return 0;
}
