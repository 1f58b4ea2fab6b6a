//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.circle(50);

    return 0;
}
