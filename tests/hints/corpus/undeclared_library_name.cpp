//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.fd(size);
    return 0;
}